// natural logarithm
function log(x){return Math.log(x);}
