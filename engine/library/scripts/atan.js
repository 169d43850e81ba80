#use arctg
// inverse tangent, by the name most calculators use: arctg
function atan(x){return arctg_as("atan",x);}
