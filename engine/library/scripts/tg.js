#use domaincheck
// tangent of an angle in radians, the C library's; an infinite angle has no
// tangent
function tg(x){return tg_as("tg",x);}
function tg_as(name,x){
  domaincheck(name,[x]);
  if(x===Infinity||x===-Infinity)
    throw domainerror(name,[x],qsTranslate("domain","%1: the argument must be finite"));
  return Math.tan(x);
}
