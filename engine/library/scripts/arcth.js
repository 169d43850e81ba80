#use exactproduct
#use arth
// inverse hyperbolic cotangent, for |x| >= 1 (the ends give inf, as 1/0
// does). Far out it is u + u^3/3 + ... of u = 1/x with the rounding error of
// 1/x added back (arcth(1e20) is 1e-20, not 0); nearer ln(1 + 2/(x - 1))/2
// with x - 1 exact.
function arcth(x){
  domaincheck("arcth",[x]);
  if(x>-1&&x<1)
    throw domainerror("arcth",[x],qsTranslate("domain","%1: the argument must not be between -1 and 1"));
  var a=Math.abs(x);
  var result;
  if(a>8){
    var u=exactreciprocal(a);
    result=u[0]+(u[1]+u[0]*powerseries(u[0],arthseries));
  }else result=a===1?Infinity:arthquotient([2,0],exactsum(a,-1));
  return x<0?-result:result;
}
