// inverse hyperbolic sine
function arsh(x){return x<0?-arsh(-x):Math.log(x+Math.sqrt(x*x+1));}
