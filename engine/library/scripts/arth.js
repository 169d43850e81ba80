// inverse hyperbolic tangent, for -1 < x < 1
function arth(x){return Math.log((1+x)/(1-x))/2;}
