#use ln
// natural logarithm, the name the panel's keys use
function log(x){return ln_as("log",x);}
