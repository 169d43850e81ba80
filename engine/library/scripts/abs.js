// absolute value
function abs(x){return Math.abs(x);}
