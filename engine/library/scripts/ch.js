// hyperbolic cosine
function ch(x){return (Math.exp(x)+Math.exp(-x))/2;}
