#use tg
// tangent, by the name most calculators use: tg
function tan(x){return tg_as("tan",x);}
