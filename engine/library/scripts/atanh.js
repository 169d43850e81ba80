#use arth
// inverse hyperbolic tangent, by the name most calculators use: arth
function atanh(x){return arth_as("atanh",x);}
