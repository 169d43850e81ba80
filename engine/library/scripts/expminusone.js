#use exactexp
// e^x - 1, without the cancellation of Math.exp(x)-1 for small x
// (e^(1e-20) - 1 is 1e-20, not 0): x + x^2/2 is summed exactly and the rest
// of the series added; further out e^x is taken to twice a double's
// precision before 1 is subtracted.
function expminusone(x){
  if(Math.abs(x)<1e-17)return x;
  if(x<-40)return -1;
  if(Math.abs(x)<0.25){
    var tail=0;
    for(var i=exactexpfactorials.length-1;i>3;--i)tail=(tail+1/exactexpfactorials[i])*x;
    tail+=1/6;
    var square=exactproduct(x,x);
    var sum=exactsum(x,square[0]/2);
    return sum[0]+(sum[1]+square[1]/2+square[0]*x*tail);
  }
  if(x>709)return Math.exp(x);
  var e=exactexp(x,0);
  var s=exactsum(e[0],-1);
  return s[0]+(s[1]+e[1]);
}
