#use exactproduct
#use domaincheck
#use logplusone
// inverse hyperbolic cosine, for x >= 1. ln(x + sqrt(x^2 - 1)) with x^2 - 1
// and its root to twice a double's precision, so that arch(1 + 2^-52) keeps
// its digits; from 2^28 on ln(2x), so that x^2 does not overflow.
function arch(x){return arch_as("arch",x);}
function arch_as(name,x){
  domaincheck(name,[x]);
  if(x<1)throw domainerror(name,[x],qsTranslate("domain","%1: the argument must be at least 1"));
  if(x===1||x===Infinity)return x===1?0:x;
  if(x>268435456)return logtwice(x);
  var square=exactproduct(x,x);
  var root=exactroot(exactadd(square,[-1,0]));
  return exactlog(exactadd([x,0],root));
}
