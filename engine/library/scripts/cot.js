#use ctg
// cotangent, by the name most calculators use: ctg
function cot(x){return ctg_as("cot",x);}
