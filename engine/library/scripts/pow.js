#use domaincheck
#use exactproduct
// x to the power y, the C library's. An odd root of a negative number stays
// real: pow(-8,1/3) is -2. A root, y = 1/n, is refined by a Newton step with
// its power taken exactly, so that the root of an n-th power is exact
// (pow(1000,1/3) is 10, where the C library gives 9.999999999999998).
function pow(x,y){
  domaincheck("pow",[x,y]);
  var n=Math.round(1/y);
  var root=n>=2&&n<=64&&1/n===y;
  if(x<0&&Math.floor(y)!==y&&isFinite(y)){
    var oddroot=Math.abs(n)%2===1&&1/n===y;
    if(!oddroot)
      throw domainerror("pow",[x,y],
                        qsTranslate("domain","%1: a negative base takes only whole exponents and odd roots"));
    var r=rootof(-x,Math.abs(n));
    return n<0?-1/r:-r;
  }
  if(root&&x>0&&x<Infinity)return rootof(x,n);
  return Math.pow(x,y);
}
// The n-th root of x > 0: x is scaled by a power of 2^n into [1, 2^n), and
// the C library's root of it corrected by one Newton step, whose n-th power
// is taken exactly. Roots of degree above 64 are the C library's alone.
function rootof(x,n){
  if(n===2)return Math.sqrt(x);
  if(x===0||x===Infinity)return x;
  if(n>64)return Math.pow(x,1/n);
  var k=Math.floor(Math.log(x)/0.6931471805599453/n);
  var m=x*Math.pow(2,-Math.floor(n*k/2))*Math.pow(2,Math.floor(n*k/2)-n*k);
  var r=Math.pow(m,1/n);
  var p=exactpower(r,n);
  r+=((m-p[0])-p[1])/(n*p[0]/r);
  return r*Math.pow(2,k);
}
// r^n as a double-double.
function exactpower(r,n){
  var p=[r,0];
  for(var i=1;i<n;++i)p=exactscale(p,r);
  return p;
}
