// hyperbolic sine
function sh(x){return (Math.exp(x)-Math.exp(-x))/2;}
