// the greatest whole number not above x
function floor(x){return Math.floor(x);}
