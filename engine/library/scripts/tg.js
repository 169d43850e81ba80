#use domaincheck
#use halfturns
// tangent of an angle in radians, the C library's; 0 at the doubles nearest
// to the multiples of pi, and no tangent at those nearest to the odd
// multiples of pi/2, its poles, nor at an infinite angle
function tg(x){return tg_as("tg",x);}
function tg_as(name,x){
  var k=tg_halfturns(name,x);
  if(k%2===0)return 0;
  if(k===k)
    throw domainerror(name,[x],qsTranslate("domain","%1: the argument must not be an odd multiple of pi/2"));
  return Math.tan(x);
}
// The checks of the tangent and the cotangent, and the half turns of x.
function tg_halfturns(name,x){
  domaincheck(name,[x]);
  if(x===Infinity||x===-Infinity)
    throw domainerror(name,[x],qsTranslate("domain","%1: the argument must be finite"));
  return halfturns(x);
}
