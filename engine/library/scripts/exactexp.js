#use exactproduct
// e^x times 2^shift as a double-double [high,low], good to about 2^-60
// relative, for the hyperbolic functions: with it, e^x - e^-x keeps its
// digits even where the two nearly cancel, and e^x/2 near the top of the
// double range is found without e^x overflowing on the way. x is reduced to
// r = x - k ln 2 with |r| <= ln 2 / 2 (ln 2 in two parts, so that k ln 2 is
// exact), and e^r - 1 is summed as r + r^2/2 + r^3 (1/6 + r/24 + ...).
function exactexp(x,shift){
  var k=Math.round(x/0.6931471805599453);
  var r=exactsum(x-k*6.93147180369123816490e-01,-k*1.90821492927058770002e-10);
  var cubic=0;
  for(var i=exactexpfactorials.length-1;i>3;--i)cubic=(cubic+1/exactexpfactorials[i])*r[0];
  cubic+=1/6;
  var square=exactproduct(r[0],r[0]);
  var sum=exactsum(r[0],square[0]/2);
  var one=exactsum(1,sum[0]);
  var rest=one[1]+sum[1]+square[1]/2+square[0]*r[0]*cubic+r[1]*(1+r[0]);
  var result=exactsum(one[0],rest);
  // 2^(k+shift) in two factors, so that neither overflows alone
  var half=Math.floor((k+shift)/2);
  var scale=Math.pow(2,half)*Math.pow(2,k+shift-half);
  if(!isFinite(scale)||scale===0)
    return [result[0]*Math.pow(2,half)*Math.pow(2,k+shift-half),0];
  return [result[0]*scale,result[1]*scale];
}
// n! for n from 0 to 18
var exactexpfactorials=[1,1,2,6,24,120,720,5040,40320,362880,3628800,39916800,479001600,
                        6227020800,87178291200,1307674368000,20922789888000,355687428096000,
                        6402373705728000];
