#use exactproduct
#use domaincheck
#use powerseries
#use exactexp
// hyperbolic tangent. Near 0 a power series (th(1e-20) is 1e-20, not 0);
// further out (e^x - e^-x)/(e^x + e^-x) with e^x to twice a double's
// precision; from 20 on the answer rounds to 1.
function th(x){return th_as("th",x);}
function th_as(name,x){
  domaincheck(name,[x]);
  var a=Math.abs(x);
  if(a<0.0625)return oddseries(x,thseries);
  if(a>20)return x>0?1:-1;
  var result=hyperbolicratio(a)[0];
  return x<0?-result:result;
}
// th(x) for x > 0 as a double-double: (e^x - e^-x)/(e^x + e^-x).
function hyperbolicratio(x){
  var e=exactexp(x,0);
  var inverse=exactinverse(e);
  return exactquotient(exactadd(e,[-inverse[0],-inverse[1]]),exactadd(e,inverse));
}
// the series of th(x)/x - 1 in x^2: -1/3, 2/15, -17/315, ...
var thseries=[-1/3,2/15,-17/315,62/2835,-1382/155925,21844/6081075,-929569/638512875,
              6404582/10854718875,-443861162/1856156927625,18888466084/194896477400625];
