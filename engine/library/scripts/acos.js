#use arccos
// inverse cosine, by the name most calculators use: arccos
function acos(x){return arccos_as("acos",x);}
