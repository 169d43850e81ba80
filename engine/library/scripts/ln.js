// natural logarithm
function ln(x){return Math.log(x);}
