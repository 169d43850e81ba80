#use domaincheck
// the least whole number not below x
function ceil(x){
  domaincheck("ceil",[x]);
  return Math.ceil(x);
}
