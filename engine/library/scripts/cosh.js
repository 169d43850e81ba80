#use ch
// hyperbolic cosine, by the name most calculators use: ch
function cosh(x){return ch_as("cosh",x);}
