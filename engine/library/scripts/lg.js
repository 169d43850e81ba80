#use exactproduct
#use ln
#use logplusone
// logarithm to base 10. ln(x)/ln(10) rounds twice and misses powers of 10
// (lg(1000) would be 2.9999999999999996), so ln(x) is taken to twice a
// double's precision and multiplied by 1/ln(10) in two parts, rounded once;
// a power of 10 gives its exponent exactly.
function lg(x){
  return scaledlog("lg",x,0.4342944819032518,1.098319650216765e-17,10);
}
// ln(x) times the constant high+low, exact where x is a normal double that
// is the double nearest a power of base: there the exponent is also the
// correctly rounded answer.
function scaledlog(name,x,high,low,base){
  var l=ln_as(name,x);
  if(!(l>-Infinity&&l<Infinity))return l;
  var n=Math.round(l*high);
  if(x>=2.2250738585072014e-308&&Math.pow(base,n)===x)return n;
  var d=exactln(x);
  var p=exactproduct(d[0],high);
  return p[0]+(p[1]+d[1]*high+d[0]*low);
}
