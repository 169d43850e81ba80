#use tg
// cotangent of an angle in radians, the reciprocal of the tangent (one
// rounding more than the tangent's own); 0 at the doubles nearest to the odd
// multiples of pi/2, and no cotangent at those nearest to the other
// multiples of pi, its poles; at 0 itself the pole gives inf, as 1/0 does
function ctg(x){return ctg_as("ctg",x);}
function ctg_as(name,x){
  var k=tg_halfturns(name,x);
  if(Math.abs(k%2)===1)return 0;
  if(k===k)
    throw domainerror(name,[x],qsTranslate("domain","%1: the argument must not be a multiple of pi"));
  return 1/Math.tan(x);
}
