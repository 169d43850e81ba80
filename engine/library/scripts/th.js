// hyperbolic tangent
function th(x){if(Math.abs(x)>20)return x>0?1:-1;var p=Math.exp(2*x);return (p-1)/(p+1);}
