#use exactproduct
// ln(1 + x + low) for x > -1, with low an optional part below x's last
// digit: 1 + x is summed exactly, as a double-double, so that the digits of
// a small x, which 1 + x drops, are kept (ln(1 + 1e-20) is 1e-20, not 0).
function logplusone(x,low){
  var u=exactsum(1,x);
  return exactlog([u[0],u[1]+(low||0)]);
}
// ln of a double-double d > 0, rounded once.
function exactlog(d){
  var l=exactln(d[0]);
  return l[0]+(l[1]+d[1]/d[0]);
}
// ln(x) of a double x > 0 as a double-double, good to about 2^-60: x is
// split into m 2^k with m from 0.7 to 1.4, and ln(x) is k ln(2) (ln 2 in two
// parts, so that k ln(2) is exact) plus ln(m) = 2 artanh(s) of
// s = (m - 1)/(m + 1), summed as 2s + 2s^3 (1/3 + s^2/5 + ...).
function exactln(x){
  var k=Math.round(Math.log(x)/0.6931471805599453);
  var m=x*Math.pow(2,-Math.round(k/2))*Math.pow(2,Math.round(k/2)-k);
  if(m>1.4142135623730951){m/=2;++k;}
  else if(m<0.7071067811865476){m*=2;--k;}
  var s=exactquotient([m-1,0],exactsum(m,1));
  var s2=s[0]*s[0],tail=0;
  for(var i=23;i>=3;i-=2)tail=tail*s2+1/i;
  var lnm=exactsum(2*s[0],2*s[1]+2*s[0]*s2*tail);
  var whole=exactsum(k*6.93147180369123816490e-01,lnm[0]);
  return exactsum(whole[0],whole[1]+lnm[1]+k*1.90821492927058770002e-10);
}
// ln(2x) of x > 0, rounded once, also where 2x overflows.
function logtwice(x){
  var l=exactln(x);
  var s=exactsum(l[0],0.6931471805599453);
  return s[0]+(s[1]+l[1]+2.3190468138462996e-17);
}
