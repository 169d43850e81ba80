#use domaincheck
// inverse cosine, in radians from 0 to pi, the C library's, for arguments
// from -1 to 1
function arccos(x){return arccos_as("arccos",x);}
function arccos_as(name,x){
  domaincheck(name,[x]);
  if(x<-1||x>1)
    throw domainerror(name,[x],qsTranslate("domain","%1: the argument must be from -1 to 1"));
  return Math.acos(x);
}
