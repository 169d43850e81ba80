#use ln
// natural logarithm, the name the panel's keys use; log(x,b) is the
// logarithm to the base b, exact where x is a whole power of b or b one of
// x: log(8,2) is 3, log(0.01,10) is -2, log(2,8) is 1/3
function log(x,b){
  if(b===undefined)return ln_as("log",x);
  var q=ln_as("log",x)/ln_as("log",b);
  if(wholelog(q,b,x))return Math.round(q);
  if(wholelog(1/q,x,b))return 1/Math.round(1/q);
  return q;
}
// True when q is close to a whole number n with b to the power n exactly x.
function wholelog(q,b,x){
  var n=Math.round(q);
  return n!==0&&Math.abs(q-n)<1e-9*Math.abs(n)&&Math.pow(b,n)===x;
}
