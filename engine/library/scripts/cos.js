#use domaincheck
#use halfturns
// cosine of an angle in radians, the C library's, and 0 at the doubles
// nearest to the odd multiples of pi/2; an infinite angle has no cosine
function cos(x){
  domaincheck("cos",[x]);
  if(x===Infinity||x===-Infinity)
    throw domainerror("cos",[x],qsTranslate("domain","%1: the argument must be finite"));
  return Math.abs(halfturns(x)%2)===1?0:Math.cos(x);
}
