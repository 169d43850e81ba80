// logarithm to base 10
function lg(x){return Math.log(x)/Math.LN10;}
