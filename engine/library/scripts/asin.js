#use arcsin
// inverse sine, by the name most calculators use: arcsin
function asin(x){return arcsin_as("asin",x);}
