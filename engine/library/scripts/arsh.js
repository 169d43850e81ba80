#use exactproduct
#use domaincheck
#use powerseries
#use logplusone
// inverse hyperbolic sine. Near 0 a power series (arsh(1e-20) is 1e-20, not
// 0); further out ln(x + sqrt(x^2 + 1)) with x^2 + 1 and its root to twice a
// double's precision; from 2^28 on ln(2x), so that x^2 does not overflow
// (arsh(1e200) is 461.21...).
function arsh(x){return arsh_as("arsh",x);}
function arsh_as(name,x){
  domaincheck(name,[x]);
  var a=Math.abs(x);
  var result;
  if(a<0.125)return oddseries(x,arshseries);
  if(a===Infinity)return x;
  if(a>268435456)result=logtwice(a);
  else{
    var square=exactproduct(a,a);
    var root=exactroot(exactadd(square,[1,0]));
    result=exactlog(exactadd([a,0],root));
  }
  return x<0?-result:result;
}
// the series of arsh(x)/x - 1 in x^2: -1/6, 3/40, -15/336, ...
var arshseries=[-1/6,3/40,-15/336,105/3456,-945/42240,10395/599040,-135135/9676800,
                2027025/175472640,-34459425/3530096640];
