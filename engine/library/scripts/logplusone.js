#use exactproduct
// ln(1 + x + low) for x > -1, with low an optional part below x's last
// digit: 1 + x is rounded, and the logarithm of the rounded sum is corrected
// by the exactly known rounding error, so that the digits of a small x,
// which 1 + x drops, are kept (ln(1 + 1e-20) is 1e-20, not 0).
function logplusone(x,low){
  var u=exactsum(1,x);
  var rest=u[1]+(low||0);
  return Math.log(u[0])+rest/u[0];
}
// ln of a double-double d > 0: near 1 through logplusone, elsewhere the
// logarithm of the leading part corrected by the low part.
function exactlog(d){
  if(d[0]>0.5&&d[0]<2)return logplusone(d[0]-1,d[1]);
  return Math.log(d[0])+d[1]/d[0];
}
