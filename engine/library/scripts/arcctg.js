// inverse cotangent, in radians from 0 to pi
function arcctg(x){return Math.PI/2-Math.atan(x);}
