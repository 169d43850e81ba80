#use domaincheck
// cosine of an angle in radians, the C library's; an infinite angle has no
// cosine
function cos(x){
  domaincheck("cos",[x]);
  if(x===Infinity||x===-Infinity)
    throw domainerror("cos",[x],qsTranslate("domain","%1: the argument must be finite"));
  return Math.cos(x);
}
