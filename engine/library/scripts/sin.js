#use domaincheck
// sine of an angle in radians, the C library's, which is right to the last
// digit; an infinite angle has no sine
function sin(x){
  domaincheck("sin",[x]);
  if(x===Infinity||x===-Infinity)
    throw domainerror("sin",[x],qsTranslate("domain","%1: the argument must be finite"));
  return Math.sin(x);
}
