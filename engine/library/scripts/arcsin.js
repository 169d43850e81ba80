#use domaincheck
// inverse sine, in radians from -pi/2 to pi/2, the C library's, for
// arguments from -1 to 1
function arcsin(x){return arcsin_as("arcsin",x);}
function arcsin_as(name,x){
  domaincheck(name,[x]);
  if(x<-1||x>1)
    throw domainerror(name,[x],qsTranslate("domain","%1: the argument must be from -1 to 1"));
  return Math.asin(x);
}
