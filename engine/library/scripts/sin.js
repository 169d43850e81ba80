#use domaincheck
#use halfturns
// sine of an angle in radians, the C library's, which is right to the last
// digit, and 0 at the doubles nearest to the multiples of pi; an infinite
// angle has no sine
function sin(x){
  domaincheck("sin",[x]);
  if(x===Infinity||x===-Infinity)
    throw domainerror("sin",[x],qsTranslate("domain","%1: the argument must be finite"));
  return halfturns(x)%2===0?0:Math.sin(x);
}
