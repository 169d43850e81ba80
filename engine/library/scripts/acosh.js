#use arch
// inverse hyperbolic cosine, by the name most calculators use: arch
function acosh(x){return arch_as("acosh",x);}
