// Power series near zero, where a formula of exponentials or logarithms
// would subtract nearly equal numbers and lose the leading digits:
// oddseries(x,c) is x*(1 + c[0]x^2 + c[1]x^4 + ...), evenseries(x,c) is
// 1 + c[0]x^2 + c[1]x^4 + ... . The leading term is exact, so only the last
// rounding and the small tail's roundings reach the result.
function powerseries(x,c){
  var x2=x*x,sum=0;
  for(var i=c.length-1;i>=0;--i)sum=(sum+c[i])*x2;
  return sum;
}
function oddseries(x,c){return x+x*powerseries(x,c);}
function evenseries(x,c){return 1+powerseries(x,c);}
