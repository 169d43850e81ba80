// Exact products and sums of doubles (Dekker's and Knuth's error-free
// transformations), for the functions whose last digit would otherwise be lost
// to a rounding in an intermediate step: exactproduct(a,b) is [p,e] with
// p+e equal to a*b exactly, p the rounded product. Arguments below 2^995 in
// magnitude, products above 2^-969 (the splitting would overflow or the error
// term underflow outside that range).
function exactproduct(a,b){
  var p=a*b;
  var as=exactsplit(a),bs=exactsplit(b);
  var e=((as[0]*bs[0]-p)+as[0]*bs[1]+as[1]*bs[0])+as[1]*bs[1];
  return [p,e];
}
// a as the sum of two halves of 26 bits each.
function exactsplit(a){
  var c=134217729*a;
  var high=c-(c-a);
  return [high,a-high];
}
// [s,e] with s+e equal to a+b exactly, s the rounded sum.
function exactsum(a,b){
  var s=a+b;
  var v=s-a;
  return [s,(a-(s-v))+(b-v)];
}
// x times the constant high+low (a constant to twice a double's precision),
// rounded once: x is scaled by a power of two into the range where the
// product is exact.
function exacttimes(x,high,low){
  if(x===0||!isFinite(x))return x*high;
  var scale=1;
  if(Math.abs(x)>1e290)scale=1152921504606846976;// 2^60
  else if(Math.abs(x)<1e-290)scale=1/1152921504606846976;
  var y=x/scale;
  var p=exactproduct(y,high);
  return (p[0]+(p[1]+y*low))*scale;
}
// [u,r] with u the rounded 1/x and r its error, so that u+r is 1/x to twice
// a double's precision. Far out (|x| beyond 1e290 or below 1e-290) the
// error is left at 0: the product u*x could not be split there.
function exactreciprocal(x){
  var u=1/x;
  if(!(Math.abs(x)>1e-290&&Math.abs(x)<1e290))return [u,0];
  var p=exactproduct(u,x);
  return [u,((1-p[0])-p[1])/x];
}
// A double-double [high,low] times a double, renormalised.
function exactscale(d,b){
  var p=exactproduct(d[0],b);
  return exactsum(p[0],p[1]+d[1]*b);
}
// A double-double [high,low] divided by a double, renormalised.
function exactdivide(d,b){
  var q=d[0]/b;
  var p=exactproduct(q,b);
  var rest=((d[0]-p[0])-p[1])+d[1];
  return exactsum(q,rest/b);
}
// The sum of two double-doubles, renormalised.
function exactadd(a,b){
  var s=exactsum(a[0],b[0]);
  return exactsum(s[0],s[1]+a[1]+b[1]);
}
// The quotient of two double-doubles, renormalised.
function exactquotient(n,d){
  var q=n[0]/d[0];
  var p=exactproduct(q,d[0]);
  var rest=(((n[0]-p[0])-p[1])+n[1]-q*d[1])/d[0];
  return exactsum(q,rest);
}
// 1/d of a double-double d.
function exactinverse(d){return exactquotient([1,0],d);}
// The square root of a double-double d (d[0] > 2^-900).
function exactroot(d){
  var s=Math.sqrt(d[0]);
  var p=exactproduct(s,s);
  return exactsum(s,((d[0]-p[0])-p[1]+d[1])/(2*s));
}
// A product of many factors, each step times factor and divided by
// divisor, kept as a double-double times 2^(600 scales): it is scaled down
// whenever the next step would leave the range where products split.
function exactstep(product,factor,divisor){
  var value=product.value,scales=product.scales;
  if(value[0]*factor>1e290){
    value=[value[0]*exactstepscale,value[1]*exactstepscale];
    ++scales;
  }
  return {value:exactdivide(exactscale(value,factor),divisor),scales:scales};
}
// The rounded value of such a product (inf where it overflows).
function exactstepvalue(product){
  var v=product.value[0];
  for(var i=0;i<product.scales;++i)v/=exactstepscale;
  return v;
}
var exactstepscale=Math.pow(2,-600);
