// e to the power x
function exp(x){return Math.exp(x);}
