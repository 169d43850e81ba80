#use exactproduct
#use domaincheck
#use powerseries
#use logplusone
// inverse hyperbolic tangent, for -1 <= x <= 1 (the ends give inf, as 1/0
// does). Near 0 a power series (arth(1e-20) is 1e-20, not 0); further out
// ln(1 + 2x/(1 - x))/2 with the quotient to twice a double's precision.
function arth(x){return arth_as("arth",x);}
function arth_as(name,x){
  domaincheck(name,[x]);
  if(x<-1||x>1)
    throw domainerror(name,[x],qsTranslate("domain","%1: the argument must be from -1 to 1"));
  var a=Math.abs(x);
  if(a<0.125)return oddseries(x,arthseries);
  var result=a===1?Infinity:arthquotient([2*a,0],exactsum(1,-a));
  return x<0?-result:result;
}
// ln(1 + n/d)/2 of the double-doubles n and d.
function arthquotient(n,d){
  var q=exactquotient(n,d);
  return logplusone(q[0],q[1])/2;
}
// the series of arth(x)/x - 1 in x^2: 1/3, 1/5, ...
var arthseries=[1/3,1/5,1/7,1/9,1/11,1/13,1/15,1/17,1/19,1/21];
