// cotangent of an angle in radians
function ctg(x){return 1/Math.tan(x);}
