// inverse tangent, in radians from -pi/2 to pi/2
function arctg(x){return Math.atan(x);}
