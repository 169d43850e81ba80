// an angle in degrees written in radians
function rad(x){return x*Math.PI/180;}
