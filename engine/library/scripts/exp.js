#use domaincheck
// e to the power x, the C library's
function exp(x){
  domaincheck("exp",[x]);
  return Math.exp(x);
}
