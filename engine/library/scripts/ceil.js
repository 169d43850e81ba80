// the least whole number not below x
function ceil(x){return Math.ceil(x);}
