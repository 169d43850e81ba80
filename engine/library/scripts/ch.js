#use exactproduct
#use domaincheck
#use powerseries
#use exactexp
// hyperbolic cosine. Near 0 a power series, beyond e^x to twice a double's
// precision, and from 22 on, where e^-x no longer counts, e^x/2
// directly, so that ch(710) does not overflow on the way.
function ch(x){return ch_as("ch",x);}
function ch_as(name,x){
  domaincheck(name,[x]);
  var a=Math.abs(x);
  if(a===Infinity)return a;
  if(a<0.125)return evenseries(x,chseries);
  if(a>22)return exactexp(a,-1)[0];
  var e=exactexp(a,0);
  return exactadd(e,exactinverse(e))[0]/2;
}
// 1/2!, 1/4!, ... 1/18!
var chseries=[1/2,1/24,1/720,1/40320,1/3628800,1/479001600,1/87178291200,
              1/20922789888000,1/6402373705728000];
