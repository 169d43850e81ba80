// sine of an angle in radians
function sin(x){return Math.sin(x);}
