#use th
// hyperbolic tangent, by the name most calculators use: th
function tanh(x){return th_as("tanh",x);}
