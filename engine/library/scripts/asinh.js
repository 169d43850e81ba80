#use arsh
// inverse hyperbolic sine, by the name most calculators use: arsh
function asinh(x){return arsh_as("asinh",x);}
