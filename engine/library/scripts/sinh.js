#use sh
// hyperbolic sine, by the name most calculators use: sh
function sinh(x){return sh_as("sinh",x);}
