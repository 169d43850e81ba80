#use domaincheck
#use exactproduct
// inverse cotangent, in radians from 0 to pi. pi/2 - atan(x) would lose
// every digit for large x (arcctg(1e20) is 1e-20, not 0), so beyond 1 it is
// atan(1/x) with the rounding error of 1/x added back; pi/2 and pi are used
// in two parts so that their own rounding does not reach the result.
function arcctg(x){
  domaincheck("arcctg",[x]);
  if(x>1||x<-1){
    var u=exactreciprocal(x);
    var angle=Math.atan(u[0]);
    var rest=u[1]/(1+u[0]*u[0]);
    if(x>0)return angle+rest;
    var s=exactsum(3.141592653589793,angle);
    return s[0]+(s[1]+1.2246467991473532e-16+rest);
  }
  var d=exactsum(1.5707963267948966,-Math.atan(x));
  return d[0]+(d[1]+6.123233995736766e-17);
}
