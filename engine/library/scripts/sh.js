#use exactproduct
#use domaincheck
#use powerseries
#use exactexp
// hyperbolic sine. Near 0, (e^x - e^-x)/2 would cancel to 0 (sh(1e-20) is
// 1e-20), so up to 1/8 it is a power series; beyond, e^x is taken to twice a
// double's precision, and from 22 on, where e^-x no longer counts, e^x/2
// is found directly, so that sh(710) does not overflow on the way.
function sh(x){return sh_as("sh",x);}
function sh_as(name,x){
  domaincheck(name,[x]);
  var a=Math.abs(x);
  if(a<0.125)return oddseries(x,shseries);
  if(a===Infinity)return x;
  var result;
  if(a>22)result=exactexp(a,-1)[0];
  else{
    var e=exactexp(a,0);
    var inverse=exactinverse(e);
    var d=exactadd(e,[-inverse[0],-inverse[1]]);
    result=d[0]/2;
  }
  return x<0?-result:result;
}
// 1/3!, 1/5!, ... 1/19!
var shseries=[1/6,1/120,1/5040,1/362880,1/39916800,1/6227020800,1/1307674368000,
              1/355687428096000,1/121645100408832000];
