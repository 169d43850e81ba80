// square root
function sqrt(x){return Math.sqrt(x);}
