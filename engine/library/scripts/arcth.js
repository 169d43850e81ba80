// inverse hyperbolic cotangent, for |x| > 1
function arcth(x){return Math.log((x+1)/(x-1))/2;}
