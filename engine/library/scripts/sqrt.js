#use domaincheck
// square root, correctly rounded, for x >= 0
function sqrt(x){
  domaincheck("sqrt",[x]);
  if(x<0)throw domainerror("sqrt",[x],qsTranslate("domain","%1: the argument must not be negative"));
  return Math.sqrt(x);
}
