// inverse sine, in radians from -pi/2 to pi/2
function arcsin(x){return Math.asin(x);}
