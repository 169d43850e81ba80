// logarithm to base 2
function lb(x){return Math.log(x)/Math.LN2;}
