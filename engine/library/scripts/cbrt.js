// cube root, real for negative numbers too
function cbrt(x){return x<0?-Math.pow(-x,1/3):Math.pow(x,1/3);}
