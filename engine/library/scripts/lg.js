#use ln
#use exactproduct
// logarithm to base 10. ln(x)/ln(10) rounds twice and misses powers of 10
// (lg(1000) would be 2.9999999999999996), so x is split into m 2^k, ln(x) is
// summed as k ln(2) + ln(m) to twice a double's precision and multiplied by
// 1/ln(10) in two parts; a power of 10 gives its exponent exactly.
function lg(x){
  return scaledlog("lg",x,0.4342944819032518,1.098319650216765e-17,10);
}
// ln(x) times the constant high+low, exact where x is a power of base.
function scaledlog(name,x,high,low,base){
  var l=ln_as(name,x);
  if(!(l>-Infinity&&l<Infinity))return l;
  var n=Math.round(l*high);
  if(Math.pow(base,n)===x)return n;
  var k=Math.round(l/0.6931471805599453);
  var m=x*Math.pow(2,-Math.round(k/2))*Math.pow(2,Math.round(k/2)-k);
  var sum=exactsum(k*6.93147180369123816490e-01,Math.log(m));
  var rest=sum[1]+k*1.90821492927058770002e-10;
  var p=exactproduct(sum[0],high);
  return p[0]+(p[1]+rest*high+sum[0]*low);
}
