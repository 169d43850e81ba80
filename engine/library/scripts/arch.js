// inverse hyperbolic cosine, for x >= 1
function arch(x){return Math.log(x+Math.sqrt(x*x-1));}
