#use exactproduct
#use th
#use powerseries
// hyperbolic cotangent. Near 0 it is 1/x + x/3 - x^3/45 + ..., with the
// rounding error of 1/x added back (cth(1e-20) is 1e20, not inf); further
// out the reciprocal of th's ratio; from 20 on the answer rounds to 1. At 0
// the pole gives inf, as 1/0 does.
function cth(x){
  domaincheck("cth",[x]);
  var a=Math.abs(x);
  if(a<0.0625){
    var u=exactreciprocal(x);
    return u[0]+(u[1]+x*(1/3+powerseries(x,cthseries)));
  }
  if(a>20)return x>0?1:-1;
  var result=exactinverse(hyperbolicratio(a))[0];
  return x<0?-result:result;
}
// the series of (cth(x) - 1/x)/x - 1/3 in x^2: -1/45, 2/945, ...
var cthseries=[-1/45,2/945,-1/4725,2/93555,-1382/638512875,4/18243225];
