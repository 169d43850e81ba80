// an angle in radians written in degrees
function deg(x){return x*180/Math.PI;}
